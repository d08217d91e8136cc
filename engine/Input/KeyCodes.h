#pragma once

#include <cstdint>

namespace Korva
{

// The engine's key codes, independent of the platform's. Codes without a name
// here (the rows of letters and digits) follow the keyboard rows: 14-23 are
// the digits 1..9 and 0, 28-37 Q..P, 42-50 A..L, 55-61 Z..M.
enum : int32_t
{
    kKeyEscape = 0,
    kKeyF1 = 1, // F1..F12 are 1..12
    kKeyGrave = 13,
    kKey1 = 14, // 1..9 are 14..22
    kKey0 = 23,
    kKeyMinus = 24,
    kKeyEquals = 25,
    kKeyBackspace = 26,
    kKeyTab = 27,
    kKeyQ = 28,
    kKeyLeftBracket = 38,
    kKeyRightBracket = 39,
    kKeyBackslash = 40,
    kKeyCapsLock = 41,
    kKeyA = 42,
    kKeySemicolon = 51,
    kKeyApostrophe = 52,
    kKeyEnter = 53,
    kKeyLeftShift = 54,
    kKeyZ = 55,
    kKeyComma = 62,
    kKeyPeriod = 63,
    kKeySlash = 64,
    kKeyRightShift = 65,
    kKeyLeftControl = 66,
    kKeyLeftAlt = 67,
    kKeyLeftWindows = 68,
    kKeySpace = 69,
    kKeyRightWindows = 70,
    kKeyRightAlt = 71,
    kKeyRightControl = 72,
    kKeyInsert = 73,
    kKeyHome = 74,
    kKeyPageUp = 75,
    kKeyDelete = 76,
    kKeyEnd = 77,
    kKeyPageDown = 78,
    kKeyUp = 79,
    kKeyLeft = 80,
    kKeyDown = 81,
    kKeyRight = 82,
    kKeyNumLock = 83,
    kKeyPadDivide = 84,
    kKeyPadMultiply = 85,
    kKeyPadSubtract = 86,
    kKeyPad7 = 87, // 8, 9 follow
    kKeyPadAdd = 90,
    kKeyPad4 = 91, // 5, 6 follow
    kKeyPad1 = 94, // 2, 3 follow
    kKeyPad0 = 98,
    kKeyPadDecimal = 99,
    kKeyOther = 100,
    kKeyCount = 101,
};

// The engine code of the letter key `letter` ('a'..'z'), counted along the
// keyboard rows; kKeyOther for anything else.
constexpr int32_t KeyOfLetter(char letter)
{
    constexpr const char* kRows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    constexpr int32_t kFirst[3] = {kKeyQ, kKeyA, kKeyZ};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; kRows[row][i] != '\0'; ++i)
            if (kRows[row][i] == letter)
                return kFirst[row] + i;
    return kKeyOther;
}

} // namespace Korva
