#include "tools/datagen/Canvas.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/Sheet.h"

#include <cmath>

namespace DataGen
{

namespace
{

// SprFontArial: frame c is character code c (Latin-1), as wide as its advance
// and as high as the line; white glyphs that the text colour tints.
void SpriteFont(cOutput& out)
{
    constexpr int kHeight = 15;
    constexpr double kSize = 12;
    constexpr double kBaseline = 11.5;
    cSheet sheet("FontArial");
    cCanvas probe(4, 4);
    SelectFont(*probe, eFace::Sans, kSize);
    for (int c = 0; c < 256; ++c)
    {
        const bool printable = (c >= 32 && c < 127) || c >= 160;
        const std::string text(1, static_cast<char>(c));
        const int width = printable ? static_cast<int>(std::lround(TextWidth(*probe, text))) : 0;
        cCanvas glyph(std::max(width, 1), kHeight);
        if (printable && c != 32 && c != 160)
        {
            SelectFont(*glyph, eFace::Sans, kSize);
            cairo_set_source_rgb(*glyph, 1, 1, 1);
            cairo_move_to(*glyph, 0, kBaseline);
            cairo_show_text(*glyph, Latin1ToUtf8(text).c_str());
        }
        sImage img = glyph.Image();
        if (width == 0)
            img = sImage(0, kHeight);
        sheet.AddFrame(img, 0, 0);
    }
    sheet.Write(out, "Fonts");
}

// SprFontHeadline: the glyph order and advances the headline font's tables use;
// lower-case shapes only (capitals are drawn with them), white with a dark rim.
void HeadlineFont(cOutput& out)
{
    const char* glyphs = " 0123456789abcdefghijklmnopqrstuvwxyz.,:;!?\"'@#$%&\\+-*/=<>()[]{}_";
    const int widths[] = {8,  12, 9,  13, 13, 12, 14, 13, 10, 13, 13, 12, 13, 8,  12, 12, 7,
                          13, 13, 8,  9,  13, 8,  18, 13, 12, 13, 11, 9,  11, 8,  12, 9,  15,
                          12, 12, 12, 7,  7,  9,  8,  9,  10, 11, 7,  18, 13, 14, 16, 15, 9,
                          12, 8,  9,  13, 12, 14, 15, 10, 11, 10, 11, 10, 10, 19};
    cSheet sheet("FontHeadline");
    for (int i = 0; glyphs[i]; ++i)
    {
        const int adv = widths[i];
        cCanvas g(adv + 4, 17);
        if (glyphs[i] != ' ')
        {
            SelectFont(*g, eFace::SansBold, 14.5);
            const std::string t(1, glyphs[i]);
            DrawOutlinedText(*g, t, 2 + adv / 2.0, 12.5, 1, {1, 1, 1}, {0.05, 0.05, 0.1}, 1.1);
        }
        sheet.AddFrame(g.Image(), 2, 1);
    }
    sheet.Write(out, "Fonts");
}

} // namespace

void MakeFonts(cOutput& out)
{
    SpriteFont(out);
    HeadlineFont(out);
}

} // namespace DataGen
