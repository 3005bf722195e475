#pragma once

namespace dui {

// The font sizes offered for text, by font-size index, as the drop-down list and the size
// button show them.
inline constexpr int kFontSizeCount = 8;
inline constexpr const wchar_t* kFontSizeTexts[kFontSizeCount] = {
    L"8", L"10", L"12", L"14", L"16", L"18", L"20", L"22",
};

}  // namespace dui
