#include "core/document/listing_resources.h"

namespace hanamori {

ListingResources::ListingResources(Host& host, const UserSettings& settings)
    : m_host(host), m_shipping(settings) {}

bool ListingResources::LoadColorList(const std::string& template_dir) {
    return hanamori::LoadColorList(m_colors, template_dir);
}

bool ListingResources::LoadMailTemplates(const std::string& template_dir) {
    return m_templates.LoadMailTemplates(template_dir);
}

bool ListingResources::LoadRates(const std::string& cost_dir) {
    return m_shipping.LoadAll(cost_dir, m_host);
}

} // namespace hanamori
