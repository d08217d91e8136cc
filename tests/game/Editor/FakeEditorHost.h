#pragma once

#include "game/Editor/EditorPanelsHost.h"
#include "game/Game/Level.h"

#include <algorithm>
#include <string>
#include <vector>

// An editor as the panels see it, with the piece list rules of the real one
// and a record of what the panels asked for.
class cFakeEditorHost : public cEditorPanelsHost
{
public:
    int GetCurrentCellKind() const override { return cellKind; }
    void SetCurrentCellKind(int kind) override
    {
        if (kind >= 1 && kind <= 12)
            cellKind = kind;
    }
    int GetCurrentBrickCode() const override { return brickCode; }
    void SetCurrentBrickCode(int code) override
    {
        if (code >= 1 && code <= 104)
            brickCode = code;
    }
    int GetSelectedItemSlot() const override { return selectedSlot; }
    int GetItem(int slot) const override { return items.at(static_cast<size_t>(slot)); }
    void SetItem(int slot, int item) override { items.at(static_cast<size_t>(slot)) = item; }

    int GetPieceCount() const override { return static_cast<int>(pieces.size()); }
    tPiece GetPiece(int index) const override { return pieces.at(static_cast<size_t>(index)); }
    void SetPiece(int index, const tPiece& piece) override
    {
        if (index < 0 || index >= GetPieceCount())
            return;
        pieces[static_cast<size_t>(index)] = piece;
        if (index == GetPieceCount() - 1 && piece != tPiece{})
            pieces.push_back(tPiece{});
    }
    void ResizePieceList(int n) override { pieces.resize(static_cast<size_t>(std::max(0, n))); }
    void SwapPieces(int a, int b) override
    {
        std::swap(pieces.at(static_cast<size_t>(a)), pieces.at(static_cast<size_t>(b)));
    }
    void SelectPiece(int index) override
    {
        pieceMode = true;
        selectedPiece = index;
    }
    int GetSelectedPiece() const override { return selectedPiece; }
    bool IsPieceMode() const override { return pieceMode; }

    std::string GetLevelName() const override { return level.GetName(); }
    void SetLevelName(const std::string& name) override { level.SetName(name); }
    std::string GetLevelDescription() const override { return level.GetDescription(); }
    void SetLevelDescription(const std::string& text) override { level.SetDescription(text); }
    std::string GetLevelFile() const override { return levelFile; }
    void SetLevelFile(const std::string& fileName) override { levelFile = fileName; }
    void NewLevel() override { ++newLevels; }
    cLevel GetLevel() const override { return level; }
    void SetLevel(const cLevel& loaded) override
    {
        level = loaded;
        ++levelsSet;
    }

    void OpenPopup(int kind) override
    {
        popup = kind;
        opened.push_back(kind);
    }
    void ClosePopup() override
    {
        popup = kPopupNone;
        ++closes;
    }
    bool IsPopupOpen() const override { return popup != kPopupNone; }
    void ShowHint(const std::string& text, const Korva::cWidget* owner) override
    {
        hint = text;
        hintOwner = owner;
    }
    void HideHint(const Korva::cWidget* owner) override
    {
        if (owner == hintOwner)
            hint.clear();
    }
    float GetPulsePhaseA() const override { return 0.0f; }
    float GetPulsePhaseB() const override { return 0.0f; }
    void PlaySound(int effect) override { sounds.push_back(effect); }

    int cellKind = 1;
    int brickCode = 11;
    int selectedSlot = 0;
    std::vector<int> items = std::vector<int>(10, 0);
    std::vector<tPiece> pieces = {tPiece{}};
    bool pieceMode = false;
    int selectedPiece = 0;
    cLevel level;
    std::string levelFile;
    int newLevels = 0;
    int levelsSet = 0;
    int popup = kPopupNone;
    std::vector<int> opened;
    int closes = 0;
    std::string hint;
    const Korva::cWidget* hintOwner = nullptr;
    std::vector<int> sounds;
};
