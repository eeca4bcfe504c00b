#include "skin/art/skin_theme.h"

namespace mb::skinart {
namespace {

constexpr Rgb C(unsigned rgb) {
  return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

const SkinTheme kBlue = {
    C(0x4C8EDD), C(0x245C9E), C(0x163C6A),  // frame
    C(0x1C4F8F),                            // band
    C(0x2E69AE), C(0x1B4A82),               // page
    C(0x1D4C86),                            // strip
    C(0xF2F7FD), C(0x7FA3CF),               // light panels
    C(0xFBFDFF), C(0xC6D9F1), C(0x5A84B9),  // push buttons
    C(0x6BA6EB), C(0x2D69B2),               // caption buttons
    C(0xEA7760), C(0xB73A28),               // close
    C(0xFFFFFF),                            // glyph
    C(0xA7CBF1), C(0x6E9FD8), C(0x000000),  // tabs
    C(0xFFFFFF), C(0xD9E8F8), C(0x000000),  // selected tab
    C(0x5FB2F5), C(0x1E6BC2),               // accent
    C(0xFFFFFF),
};

const SkinTheme kGreen = {
    C(0xF4F8F3), C(0xD3E2CF), C(0x7BA27F),
    C(0x4E9A63),
    C(0xFAFCF9), C(0xB5CDB7),
    C(0xE3EEE1),
    C(0xFFFFFF), C(0x9DBFA2),
    C(0xFFFFFF), C(0xD5E9D7), C(0x6FA77A),
    C(0x78B887), C(0x3F8654),
    C(0xE7816B), C(0xBF4A35),
    C(0xFFFFFF),
    C(0xEAF3E8), C(0xC4DBC1), C(0x2F4F35),
    C(0x67B27B), C(0x3E8A54), C(0xFFFFFF),
    C(0x7CCB8E), C(0x3E8A54),
    C(0xFFFFFF),
};

const SkinTheme kAmber = {
    C(0x8C4C1E), C(0x4A2510), C(0x2B1407),
    C(0xC8691E),
    C(0xFFF1D7), C(0xD9B68A),
    C(0x5A2D11),
    C(0xFFF8EA), C(0xD2A873),
    C(0xE8924A), C(0xB35A1C), C(0x7A3A10),
    C(0xA8622C), C(0x6A3512),
    C(0xE36A4E), C(0xA8321E),
    C(0xFFF3DF),
    C(0x9C5C2B), C(0x6B3816), C(0xFFE9C9),
    C(0xF7A957), C(0xD8762A), C(0xFFFFFF),
    C(0xF6A24E), C(0xC8691E),
    C(0xFFE3B8),
};

}  // namespace

const SkinTheme& ThemeFor(int layout) {
  if (layout == 2) return kGreen;
  if (layout == 3) return kAmber;
  return kBlue;
}

}  // namespace mb::skinart
