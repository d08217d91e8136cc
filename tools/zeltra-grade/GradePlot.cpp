#include "GradePlot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
constexpr int kWidth = 1200;
constexpr int kHeight = 520;
constexpr double kLeft = 60, kRight = 20, kTop = 50, kBottom = 110;

// Chapter colours, light to strong, repeated for long campaigns.
constexpr double kPalette[][3] = {{0.36, 0.62, 0.85}, {0.40, 0.73, 0.45}, {0.95, 0.70, 0.25},
                                  {0.86, 0.40, 0.35}, {0.60, 0.45, 0.80}, {0.30, 0.70, 0.70},
                                  {0.80, 0.50, 0.65}, {0.55, 0.55, 0.55}};

void Text(cairo_t* cr, double x, double y, const std::string& text, double size, bool centred)
{
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, centred ? x - extents.width / 2 - extents.x_bearing : x, y);
    cairo_show_text(cr, text.c_str());
}
} // namespace

bool WriteGradePlot(const std::vector<sGradedLevel>& levels, const std::vector<sChapter>& chapters,
                    const std::string& path)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()),
                                                               cairo_destroy);
    cairo_t* cr = context.get();
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);

    double top = 1.0;
    for (const sGradedLevel& level : levels)
        top = std::max(top, level.grade.difficulty);
    top = std::ceil(top);
    const double plotW = kWidth - kLeft - kRight;
    const double plotH = kHeight - kTop - kBottom;
    const size_t n = std::max<size_t>(1, levels.size());
    const double slot = plotW / static_cast<double>(n);
    auto yOf = [&](double d) { return kTop + plotH * (1.0 - d / top); };

    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    Text(cr, kLeft, 30, "Zeltra campaign: difficulty by level", 18, false);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    // Grid lines and the scale.
    cairo_set_line_width(cr, 1.0);
    for (int d = 0; d <= static_cast<int>(top); ++d)
    {
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, kLeft, std::round(yOf(d)) + 0.5);
        cairo_line_to(cr, kWidth - kRight, std::round(yOf(d)) + 0.5);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        Text(cr, kLeft - 24, yOf(d) + 4, std::to_string(d), 11, false);
    }

    auto chapterOf = [&](int number)
    {
        for (size_t c = 0; c < chapters.size(); ++c)
            if (number >= chapters[c].first && number <= chapters[c].last)
                return static_cast<int>(c);
        return -1;
    };
    for (size_t i = 0; i < levels.size(); ++i)
    {
        const sGradedLevel& level = levels[i];
        const int c = chapterOf(level.number);
        const double* colour = kPalette[c < 0 ? 7 : c % 8];
        const double x = kLeft + slot * static_cast<double>(i) + slot * 0.15;
        const double w = slot * 0.7;
        const double y = yOf(level.grade.difficulty);
        cairo_rectangle(cr, x, y, w, yOf(0) - y);
        cairo_set_source_rgb(cr, colour[0], colour[1], colour[2]);
        cairo_fill(cr);
        if (level.grade.greedyCompletes)
        {
            // The greedy player wins this one: a dark dot above the bar.
            cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
            cairo_arc(cr, x + w / 2, y - 6, 3, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        if (level.number % 5 == 0 || level.number == 1)
        {
            cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
            Text(cr, x + w / 2, yOf(0) + 14, std::to_string(level.number), 10, true);
        }
    }
    // Each chapter's median across its bars, and its name below.
    for (size_t c = 0; c < chapters.size(); ++c)
    {
        size_t firstIndex = levels.size(), lastIndex = 0;
        for (size_t i = 0; i < levels.size(); ++i)
            if (levels[i].number >= chapters[c].first && levels[i].number <= chapters[c].last)
                firstIndex = std::min(firstIndex, i), lastIndex = std::max(lastIndex, i);
        if (firstIndex > lastIndex)
            continue;
        const double x0 = kLeft + slot * static_cast<double>(firstIndex);
        const double x1 = kLeft + slot * static_cast<double>(lastIndex + 1);
        const double median = MedianDifficulty(levels, chapters[c].first, chapters[c].last);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, x0 + 1, yOf(median));
        cairo_line_to(cr, x1 - 1, yOf(median));
        cairo_stroke(cr);
        const double* colour = kPalette[c % 8];
        cairo_set_source_rgb(cr, colour[0], colour[1], colour[2]);
        cairo_rectangle(cr, x0 + 1, yOf(0) + 22, x1 - x0 - 2, 6);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_translate(cr, (x0 + x1) / 2, yOf(0) + 40);
        cairo_rotate(cr, 0.35);
        Text(cr, 0, 0, chapters[c].name, 11, false);
        cairo_restore(cr);
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    Text(cr, kWidth - kRight - 430, 30,
         "bars: levels by chapter   line: chapter median   dot: greedy player wins", 11, false);
    cairo_surface_flush(surface.get());
    return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
