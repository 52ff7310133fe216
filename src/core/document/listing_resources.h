#pragma once
// What every new or opened listing needs beside its records: the colour list, the mail
// templates and the shipping engine with its rate tables. The document reloads them at
// every reset.

#include "core/document/sale_master_doc.h"
#include "core/mail/mail_template_list.h"
#include "core/page/color_list.h"
#include "core/shipping/shipping_engine.h"

namespace hanamori {

class ListingResources final : public ResetLoaders {
public:
    // Rate-file failures are reported through `host`; `settings` feeds the engine.
    ListingResources(Host& host, const UserSettings& settings);

    bool LoadColorList(const std::string& template_dir) override;
    bool LoadMailTemplates(const std::string& template_dir) override;
    bool LoadRates(const std::string& cost_dir) override;

    const ColorList& colors() const { return m_colors; }
    const MailTemplateList& mail_templates() const { return m_templates; }
    ShippingEngine& shipping() { return m_shipping; }

private:
    Host& m_host;
    ColorList m_colors;
    MailTemplateList m_templates;
    ShippingEngine m_shipping;
};

} // namespace hanamori
