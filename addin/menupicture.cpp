#include "addin/menupicture.h"

#include <array>

namespace quorbel {

namespace {

struct Dash {
    int row, from, to; // pixels from..to inclusive on the row
    QRgb colour;
};

constexpr QRgb kGrey = qRgb(192, 192, 192);
constexpr QRgb kBlue = qRgb(0, 0, 192);
constexpr QRgb kOrange = qRgb(240, 128, 0);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGreen = qRgb(0, 128, 0);

// Five lines of code, indented as code is: a keyword and a name, an indented
// statement, a comment, and the end of the block.
constexpr std::array kDashes{
    Dash{2, 2, 5, kBlue},    Dash{2, 7, 12, kBlack}, Dash{5, 4, 7, kBlue},    Dash{5, 9, 11, kOrange},
    Dash{5, 13, 16, kBlack}, Dash{8, 4, 14, kGreen}, Dash{11, 4, 6, kOrange}, Dash{11, 8, 13, kBlack},
    Dash{13, 2, 4, kBlue},   Dash{13, 6, 8, kBlue},
};

} // namespace

QImage menuPicture()
{
    QImage picture(19, 15, QImage::Format_RGB32);
    picture.fill(kGrey);
    for (const Dash &dash : kDashes) {
        for (int x = dash.from; x <= dash.to; ++x)
            picture.setPixel(x, dash.row, dash.colour);
    }
    return picture;
}

} // namespace quorbel
