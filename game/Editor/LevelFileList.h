#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/ScrollPanel.h"

#include <memory>
#include <string>
#include <vector>

class cLevelFileList;

class cLevelFileListListener
{
public:
    virtual ~cLevelFileListListener() = default;
    // A press on a name.
    virtual void OnLevelSelected(const std::string& name, cLevelFileList* list)
    {
        (void)name, (void)list;
    }
    // A double click on a name.
    virtual void OnLevelChosen(const std::string& name, cLevelFileList* list)
    {
        (void)name, (void)list;
    }
};

// The user level files, one 20-pixel row each, in a scroll panel; a row
// shows the level's name (the file name without its extension). The
// listener gets file names.
class cLevelFileList : public Korva::cScrollPanel
{
public:
    static constexpr int32_t kRowHeight = 20;

    cLevelFileList(Korva::cGUI& gui, const Korva::cPoint& size, cLevelFileListListener* listener);
    ~cLevelFileList() override;

    // Keeps the selection on the same file when it is still listed.
    void SetNames(std::vector<std::string> names);
    const std::vector<std::string>& GetNames() const { return m_names; }
    // -1 selects nothing.
    void SetSelected(int index);
    void Select(const std::string& name);
    int GetSelected() const { return m_selected; }
    // "" when nothing is selected.
    std::string GetSelectedName() const;
    // The row under a point of the panel, -1 for none.
    int RowAt(const Korva::cPoint& point) const;

    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    void OnDoubleClick(const Korva::cMouseEvent& event, bool handled) override;
    void DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                     int32_t offsetY) override;

private:
    void ScrollToSelected();

    cLevelFileListListener* m_listener;
    std::vector<std::string> m_names;
    int m_selected = -1;
    std::unique_ptr<Korva::cSpriteFont> m_font;
    const Korva::cSprite* m_panels;
};
