#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/ScrollPanel.h"

#include <string>
#include <vector>

namespace Korva
{
class cFileSystem;
class cSpriteResource;
} // namespace Korva

// One level file of the user-levels folder as the list shows it.
struct sUserLevelEntry
{
    std::string file; // file name inside the folder
    std::string name; // the level's name, or the file name when unreadable
    bool readable = false;

    bool operator==(const sUserLevelEntry& other) const = default;
};

// The level files of `folder`, sorted by file name, each with the name read
// from the file. A file that cannot be read is listed under its file name
// (the reason goes to the log), so the player still sees it.
std::vector<sUserLevelEntry> ReadUserLevelEntries(Korva::cFileSystem& fileSystem,
                                                  const std::string& folder);

// What the user-level list asks of the selector around it.
class cUserLevelListHost
{
public:
    virtual ~cUserLevelListHost() = default;
    virtual void SelectUserLevel(const std::string& file) = 0;
    virtual void ClearSelection() = 0;
    virtual void PlaySelection() = 0;
    virtual void ShowHint(const std::string& text, Korva::cWidget* owner) = 0;
    virtual void HideHint(Korva::cWidget* owner) = 0;
};

// The player's own levels as a scrolling list of rows: the level's name on
// the left, its file name on the right. A click selects, a double click
// plays; with no levels a note says how to make some.
class cUserLevelList : public Korva::cScrollPanel
{
public:
    static constexpr int32_t kRowWidth = 440;
    static constexpr int32_t kRowHeight = 22;
    static constexpr int32_t kRowStep = 25;
    static constexpr int32_t kMargin = 6;

    cUserLevelList(Korva::cGUI& gui, cUserLevelListHost& host);

    // Replaces the rows; the selection follows its file name, or is dropped
    // when the file is gone.
    void SetEntries(std::vector<sUserLevelEntry> entries);
    const std::vector<sUserLevelEntry>& GetEntries() const { return m_entries; }
    // Index of the row with this file name, -1 for none.
    int32_t Find(const std::string& file) const;
    // The row whose rectangle holds the content point, -1 for none.
    int32_t RowAt(const Korva::cPoint& content) const;
    static int32_t ContentHeight(int32_t rows);

    void SetSelected(int32_t index);
    void ClearSelected() { m_selected = -1; }
    int32_t GetSelected() const { return m_selected; }
    int32_t GetHovered() const { return m_hovered; }

    void DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                     int32_t offsetY) override;
    void OnMouseMove(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    void OnDoubleClick(const Korva::cMouseEvent& event, bool handled) override;

private:
    int32_t RowUnder(const Korva::cMouseEvent& event) const;
    // `text` shortened with "..." to fit `width` pixels.
    std::string Fit(const std::string& text, int32_t width) const;

    cUserLevelListHost& m_host;
    std::vector<sUserLevelEntry> m_entries;
    int32_t m_selected = -1;
    int32_t m_hovered = -1;
    Korva::cSpriteResource* m_panels;
    Korva::cHeadlineFont m_font;
};
