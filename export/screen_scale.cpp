#include "screen_scale.h"

#include <cmath>

namespace {

constexpr double kWindowPixelsPerInch = 96;

} // namespace

double ScreenScale(const QSize& screen) {
    if (screen.width() <= 0 || screen.height() <= 0) return ScreenScale(DefaultScreenSize());
    return static_cast<double>(screen.height()) / screen.width() * kWindowPixelsPerInch;
}

QSize DefaultScreenSize() {
    return {1920, 1080};
}

double WorkbookColumnWidth(int pixels, double scale) {
    return pixels / scale * 10;
}

int CalcColumnWidth(int pixels, double scale) {
    return static_cast<int>(std::trunc(pixels / scale * 2540));
}
