#include "core/document/pdf_writer.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

#include <cstdio>
#include <sstream>

namespace hanamori {
namespace {

double Pt(double mm) {
    return mm / kMmPerPt;
}

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// The UTF-16 code units of a CP932 text, as hex digits (CP932 holds no character
// beyond the first plane).
std::string Utf16Hex(std::string_view cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    std::string hex;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned cp = c;
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (n > 1) {
            cp = c & (0x7F >> n);
            for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) {
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            }
        }
        if (cp > 0xFFFF) {
            cp = 0xFFFD;
        }
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04X", cp);
        hex += buf;
        i += n;
    }
    return hex;
}

// The character codes are UTF-16 code units, so the map back to text is the identity.
std::string ToUnicodeCMap() {
    std::string s = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                    "/CMapName /Hanamori-UCS2 def\n/CMapType 2 def\n"
                    "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<int> highs;
    for (int h = 0; h < 256; ++h) {
        if (h < 0xD8 || h > 0xDF) {
            highs.push_back(h);
        }
    }
    for (std::size_t i = 0; i < highs.size(); i += 100) {
        std::size_t n = std::min<std::size_t>(100, highs.size() - i);
        s += std::to_string(n) + " beginbfrange\n";
        for (std::size_t k = 0; k < n; ++k) {
            char buf[48];
            std::snprintf(buf, sizeof buf, "<%02X00> <%02XFF> <%02X00>\n", highs[i + k],
                          highs[i + k], highs[i + k]);
            s += buf;
        }
        s += "endbfrange\n";
    }
    return s + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

std::string PageContent(const LayoutPage& page) {
    const double h = Pt(page.height);
    std::string s;
    for (const PlacedRule& r : page.rules) {
        s += Num(r.width_pt) + " w " + Num(Pt(r.x1)) + " " + Num(h - Pt(r.y1)) + " m " +
             Num(Pt(r.x2)) + " " + Num(h - Pt(r.y2)) + " l S\n";
    }
    for (const PlacedText& t : page.texts) {
        s += "BT /F1 " + Num(t.size_pt) + " Tf " + Num(Pt(t.x)) + " " + Num(h - Pt(t.y)) + " Td <" +
             Utf16Hex(t.text) + "> Tj ET\n";
    }
    return s;
}

class ObjectWriter {
public:
    explicit ObjectWriter(std::ostream& out) : m_out(out) {
        m_out << "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    }
    void Object(int number, const std::string& body) {
        if (static_cast<int>(m_offsets.size()) < number) {
            m_offsets.resize(static_cast<std::size_t>(number));
        }
        m_offsets[static_cast<std::size_t>(number - 1)] = m_out.tellp();
        m_out << number << " 0 obj\n" << body << "\nendobj\n";
    }
    void Stream(int number, const std::string& data) {
        Object(number, "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
                           "\nendstream");
    }
    bool Finish() {
        std::streamoff xref = m_out.tellp();
        m_out << "xref\n0 " << m_offsets.size() + 1 << "\n0000000000 65535 f \n";
        for (std::streamoff offset : m_offsets) {
            char buf[24];
            std::snprintf(buf, sizeof buf, "%010lld 00000 n \n", static_cast<long long>(offset));
            m_out << buf;
        }
        m_out << "trailer\n<< /Size " << m_offsets.size() + 1 << " /Root 1 0 R >>\nstartxref\n"
              << xref << "\n%%EOF\n";
        m_out.flush();
        return static_cast<bool>(m_out);
    }

private:
    std::ostream& m_out;
    std::vector<std::streamoff> m_offsets;
};

} // namespace

bool WritePdf(const std::vector<LayoutPage>& pages, std::ostream& out) {
    // A stream that cannot tell its position (a pipe) still gets a correct file.
    std::ostringstream buffer;
    ObjectWriter w(buffer);
    constexpr int kFirstPage = 7;
    std::string kids;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        kids += std::to_string(kFirstPage + 2 * static_cast<int>(i)) + " 0 R ";
    }
    w.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    w.Object(2,
             "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    w.Object(3, "<< /Type /Font /Subtype /Type0 /BaseFont /HeiseiKakuGo-W5 /Encoding "
                "/UniJIS-UCS2-H /DescendantFonts [4 0 R] /ToUnicode 6 0 R >>");
    // Single-byte characters come out half-width (proportional and half-width Latin,
    // half-width kana), everything else full-width: the layout's own metrics.
    w.Object(4, "<< /Type /Font /Subtype /CIDFontType0 /BaseFont /HeiseiKakuGo-W5 "
                "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) /Supplement 2 >> "
                "/FontDescriptor 5 0 R /DW 1000 /W [1 95 500 231 632 500] >>");
    w.Object(5, "<< /Type /FontDescriptor /FontName /HeiseiKakuGo-W5 /Flags 5 "
                "/FontBBox [-92 -250 1010 922] /ItalicAngle 0 /Ascent 880 /Descent -120 "
                "/CapHeight 737 /StemV 80 >>");
    w.Stream(6, ToUnicodeCMap());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const int number = kFirstPage + 2 * static_cast<int>(i);
        w.Object(number, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Num(Pt(pages[i].width)) +
                             " " + Num(Pt(pages[i].height)) +
                             "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                             std::to_string(number + 1) + " 0 R >>");
        w.Stream(number + 1, PageContent(pages[i]));
    }
    if (!w.Finish()) {
        return false;
    }
    const std::string bytes = buffer.str();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

bool WritePdf(const std::vector<LayoutPage>& pages, const std::string& path) {
    return SaveFileAtomically(path, [&](std::ostream& out) { return WritePdf(pages, out); });
}

} // namespace hanamori
