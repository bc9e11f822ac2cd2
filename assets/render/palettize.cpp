// Turns a rendered picture into the palette picture that the game ships: a fixed number of
// colours, with the background either an exact opaque colour or a transparent one.
//
//   palettize COLOURS MODE INPUT.png OUTPUT.png
//
// MODE is one of
//   opaque:RRGGBB   lay the picture on that colour; the colour stays exact; fully opaque
//   key:RRGGBB      lay the picture on that colour, which becomes the transparent colour
//   alpha           pixels less than half covered become the transparent colour
//
// The palette is made by median cut and always has exactly COLOURS entries; the background
// colour is one of them, never approximated.

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct Bucket
{
    std::vector<std::pair<QRgb, int>> colours; // colour, pixel count

    int range(int channel) const
    {
        int low = 255, high = 0;
        for (const auto& [rgb, count] : colours) {
            const int value = component(rgb, channel);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        return high - low;
    }

    static int component(QRgb rgb, int channel)
    {
        return channel == 0 ? qRed(rgb) : channel == 1 ? qGreen(rgb) : qBlue(rgb);
    }

    QRgb average() const
    {
        double r = 0, g = 0, b = 0, n = 0;
        for (const auto& [rgb, count] : colours) {
            r += qRed(rgb) * double(count);
            g += qGreen(rgb) * double(count);
            b += qBlue(rgb) * double(count);
            n += count;
        }
        return qRgb(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5));
    }
};

std::vector<QRgb> medianCut(const std::map<QRgb, int>& histogram, int wanted)
{
    std::vector<Bucket> buckets(1);
    buckets[0].colours.assign(histogram.begin(), histogram.end());
    if (histogram.empty() || wanted <= 0)
        return {};
    while (int(buckets.size()) < wanted) {
        // Split the bucket with the widest spread of any channel.
        int best = -1, bestRange = 0, bestChannel = 0;
        for (int i = 0; i < int(buckets.size()); ++i) {
            if (buckets[i].colours.size() < 2)
                continue;
            for (int channel = 0; channel < 3; ++channel) {
                const int range = buckets[i].range(channel);
                if (range > bestRange) {
                    best = i;
                    bestRange = range;
                    bestChannel = channel;
                }
            }
        }
        if (best < 0)
            break;
        auto& colours = buckets[best].colours;
        std::sort(colours.begin(), colours.end(), [&](const auto& a, const auto& b) {
            return Bucket::component(a.first, bestChannel) <
                   Bucket::component(b.first, bestChannel);
        });
        long total = 0;
        for (const auto& entry : colours)
            total += entry.second;
        long seen = 0;
        size_t cut = 1;
        for (; cut < colours.size() - 1; ++cut) {
            seen += colours[cut - 1].second;
            if (seen * 2 >= total)
                break;
        }
        Bucket upper;
        upper.colours.assign(colours.begin() + long(cut), colours.end());
        colours.resize(cut);
        buckets.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Bucket& bucket : buckets)
        palette.push_back(bucket.average());
    return palette;
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int fail(const char* message)
{
    std::fprintf(stderr, "palettize: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 5)
        return fail("usage: palettize COLOURS opaque:RRGGBB|key:RRGGBB|alpha IN.png OUT.png");
    const int colours = QString::fromLocal8Bit(argv[1]).toInt();
    const QString mode = QString::fromLocal8Bit(argv[2]);
    QImage input(QString::fromLocal8Bit(argv[3]));
    if (colours < 2 || colours > 256)
        return fail("COLOURS must lie in 2..256");
    if (input.isNull())
        return fail("cannot read the input picture");
    input = input.convertToFormat(QImage::Format_ARGB32);

    const bool alphaMode = mode == QLatin1String("alpha");
    const bool keyMode = mode.startsWith(QLatin1String("key:"));
    if (!alphaMode && !keyMode && !mode.startsWith(QLatin1String("opaque:")))
        return fail("unknown mode");
    const QRgb background =
        alphaMode ? qRgb(255, 0, 255) : QColor(u'#' + mode.section(u':', 1)).rgb();

    // Lay each pixel on the background (or decide that it is background), and count colours.
    QImage flat(input.size(), QImage::Format_RGB32);
    std::map<QRgb, int> histogram;
    for (int y = 0; y < input.height(); ++y) {
        for (int x = 0; x < input.width(); ++x) {
            const QRgb pixel = input.pixel(x, y);
            const int a = qAlpha(pixel);
            QRgb colour;
            if (alphaMode)
                colour = a < 128 ? background : qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            else {
                const auto mix = [a](int fg, int bg) {
                    return (fg * a + bg * (255 - a) + 127) / 255;
                };
                colour =
                    qRgb(mix(qRed(pixel), qRed(background)), mix(qGreen(pixel), qGreen(background)),
                         mix(qBlue(pixel), qBlue(background)));
            }
            flat.setPixel(x, y, colour);
            if (colour != (background | 0xff000000u) || (alphaMode && a >= 128))
                ++histogram[colour];
        }
    }

    // Entry 0 is the background; the median cut fills the rest; unused entries repeat it.
    std::vector<QRgb> palette{background | 0xff000000u};
    for (QRgb colour : medianCut(histogram, colours - 1))
        palette.push_back(colour);
    while (int(palette.size()) < colours)
        palette.push_back(palette.front());

    QImage output(input.size(), QImage::Format_Indexed8);
    QList<QRgb> table(palette.begin(), palette.end());
    if (alphaMode || keyMode)
        table[0] = qRgba(qRed(background), qGreen(background), qBlue(background), 0);
    output.setColorTable(table);
    for (int y = 0; y < input.height(); ++y) {
        for (int x = 0; x < input.width(); ++x) {
            const QRgb colour = flat.pixel(x, y);
            const bool isBackground =
                alphaMode ? qAlpha(input.pixel(x, y)) < 128 : colour == (background | 0xff000000u);
            int index = 0;
            if (!isBackground) {
                int best = 1 << 30;
                // In the alpha mode entry 0 is transparent and no opaque pixel may take it.
                for (int i = alphaMode ? 1 : 0; i < int(palette.size()); ++i) {
                    const int d = distance(colour, palette[size_t(i)]);
                    if (d < best) {
                        best = d;
                        index = i;
                    }
                }
            }
            output.setPixel(x, y, uint(index));
        }
    }
    if (!output.save(QString::fromLocal8Bit(argv[4]), "PNG"))
        return fail("cannot write the output picture");
    return 0;
}
