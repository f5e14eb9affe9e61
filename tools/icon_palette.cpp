// Keeps a rendered icon to at most 256 colours, as the design's icon was:
//   vandrel-icon-palette IN.png OUT.png
// The most frequent colours stay as they are; each rarer one, a few
// smoothed edge pixels, takes the nearest of them. Ties keep the lower
// colour value, so the same input always gives the same picture.

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr std::size_t kMostColours = 256;

int distance(QRgb a, QRgb b) {
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    const int alpha = qAlpha(a) - qAlpha(b);
    return red * red + green * green + blue * blue + alpha * alpha;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vandrel-icon-palette IN.png OUT.png\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "vandrel-icon-palette: cannot read %s\n", argv[1]);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    std::vector<std::pair<QRgb, int>> byCount(counts.begin(), counts.end());
    std::stable_sort(byCount.begin(), byCount.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<QRgb> kept;
    for (std::size_t index = 0; index < std::min(kMostColours, byCount.size()); ++index) {
        kept.push_back(byCount[index].first);
    }
    std::map<QRgb, QRgb> replacement;
    for (const auto& [colour, count] : byCount) {
        replacement[colour] = *std::min_element(kept.begin(), kept.end(), [colour](QRgb a, QRgb b) {
            return distance(colour, a) < distance(colour, b);
        });
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, replacement[image.pixel(x, y)]);
        }
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "vandrel-icon-palette: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
