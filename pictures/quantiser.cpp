#include "quantiser.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int MaxColours = 256;
constexpr int RefineRounds = 3;

struct Colour
{
    int channel[3];
    qint64 count;
};

struct Box
{
    int begin, end; // a range of the colour list
    int longest; // the channel with the widest range
    qint64 score; // how much splitting it gains: the squared range times the pixels
};

Box measured(const QList<Colour> &colours, int begin, int end)
{
    int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
    qint64 pixels = 0;
    for (int i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], colours[i].channel[c]);
            high[c] = std::max(high[c], colours[i].channel[c]);
        }
        pixels += colours[i].count;
    }
    int longest = 0;
    for (int c = 1; c < 3; ++c) {
        if (high[c] - low[c] > high[longest] - low[longest])
            longest = c;
    }
    const qint64 range = high[longest] - low[longest];
    return {begin, end, longest, end - begin > 1 ? range * range * pixels : 0};
}

// Heckbert's median cut over the distinct colours, each weighted by its pixels.
QList<std::array<double, 3>> medianCut(QList<Colour> colours, int wanted)
{
    QList<Box> boxes{measured(colours, 0, int(colours.size()))};
    while (boxes.size() < wanted) {
        const auto widest =
            std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) { return a.score < b.score; });
        if (widest->score == 0)
            break;
        const Box box = *widest;
        const int c = box.longest;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [c](const Colour &a, const Colour &b) { return a.channel[c] < b.channel[c]; });
        qint64 total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        qint64 below = 0;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            below += colours[i].count;
            split = i + 1;
            if (2 * below >= total)
                break;
        }
        *widest = measured(colours, box.begin, split);
        boxes.append(measured(colours, split, box.end));
    }
    QList<std::array<double, 3>> palette;
    for (const Box &box : boxes) {
        double sum[3] = {0, 0, 0};
        qint64 pixels = 0;
        for (int i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += double(colours[i].channel[c]) * double(colours[i].count);
            pixels += colours[i].count;
        }
        palette.append({sum[0] / double(pixels), sum[1] / double(pixels), sum[2] / double(pixels)});
    }
    return palette;
}

int nearest(const QList<std::array<double, 3>> &palette, const double colour[3])
{
    int best = 0;
    double bestDistance = HUGE_VAL;
    for (int i = 0; i < palette.size(); ++i) {
        const double dr = palette[i][0] - colour[0], dg = palette[i][1] - colour[1], db = palette[i][2] - colour[2];
        const double distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Lloyd's rounds: each entry moves to the mean of the colours nearest to it.
void refine(QList<std::array<double, 3>> &palette, const QList<Colour> &colours)
{
    for (int round = 0; round < RefineRounds; ++round) {
        QList<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const Colour &colour : colours) {
            const double value[3] = {double(colour.channel[0]), double(colour.channel[1]), double(colour.channel[2])};
            std::array<double, 4> &sum = sums[nearest(palette, value)];
            for (int c = 0; c < 3; ++c)
                sum[c] += value[c] * double(colour.count);
            sum[3] += double(colour.count);
        }
        for (int i = 0; i < palette.size(); ++i) {
            if (sums[i][3] > 0)
                palette[i] = {sums[i][0] / sums[i][3], sums[i][1] / sums[i][3], sums[i][2] / sums[i][3]};
        }
    }
}

bool isTransparent(QRgb pixel)
{
    return qAlpha(pixel) < 128;
}

} // namespace

namespace Quantiser {

QImage toIndexed(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width(), height = image.height();
    QImage indexed(width, height, QImage::Format_Indexed8);
    if (indexed.isNull())
        return indexed;

    QHash<QRgb, qint64> counts;
    bool transparency = false;
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (isTransparent(line[x]))
                transparency = true;
            else
                ++counts[line[x] | 0xff000000u];
        }
    }
    const int opaqueEntries = MaxColours - (transparency ? 1 : 0);
    QList<QRgb> table;

    if (counts.size() <= opaqueEntries) {
        // Few enough colours to keep each exactly: nothing to diffuse.
        QHash<QRgb, int> index;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            index.insert(it.key(), int(table.size()));
            table.append(it.key());
        }
        const int clear = int(table.size());
        if (transparency)
            table.append(qRgba(0, 0, 0, 0));
        indexed.setColorTable(table);
        for (int y = 0; y < height; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            uchar *out = indexed.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = uchar(isTransparent(line[x]) ? clear : index.value(line[x] | 0xff000000u));
        }
        return indexed;
    }

    QList<Colour> colours;
    colours.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        colours.append({{qRed(it.key()), qGreen(it.key()), qBlue(it.key())}, it.value()});
    QList<std::array<double, 3>> palette = medianCut(colours, opaqueEntries);
    refine(palette, colours);
    for (const auto &entry : palette)
        table.append(qRgb(qRound(entry[0]), qRound(entry[1]), qRound(entry[2])));
    // The diffusion works with the colours as they are written.
    for (int i = 0; i < palette.size(); ++i)
        palette[i] = {double(qRed(table[i])), double(qGreen(table[i])), double(qBlue(table[i]))};
    const int clear = int(table.size());
    if (transparency)
        table.append(qRgba(0, 0, 0, 0));
    indexed.setColorTable(table);

    // Floyd–Steinberg, serpentine: the error of each pixel goes to the unvisited neighbours, 7/16
    // ahead, 3/16, 5/16 and 1/16 on the next line. Transparent pixels neither take nor pass it.
    QList<std::array<double, 3>> current(width + 2, {0, 0, 0}), next(width + 2, {0, 0, 0});
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        const bool forward = y % 2 == 0;
        const int step = forward ? 1 : -1;
        for (int i = 0; i < width; ++i) {
            const int x = forward ? i : width - 1 - i;
            if (isTransparent(line[x])) {
                out[x] = uchar(clear);
                continue;
            }
            double wanted[3] = {double(qRed(line[x])), double(qGreen(line[x])), double(qBlue(line[x]))};
            for (int c = 0; c < 3; ++c)
                wanted[c] = std::clamp(wanted[c] + current[x + 1][c], 0.0, 255.0);
            const int chosen = nearest(palette, wanted);
            out[x] = uchar(chosen);
            for (int c = 0; c < 3; ++c) {
                const double error = wanted[c] - palette[chosen][c];
                current[x + 1 + step][c] += error * 7 / 16;
                next[x + 1 - step][c] += error * 3 / 16;
                next[x + 1][c] += error * 5 / 16;
                next[x + 1 + step][c] += error * 1 / 16;
            }
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), std::array<double, 3>{0, 0, 0});
    }
    return indexed;
}

} // namespace Quantiser
