#include "quantiser.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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

// The palette sorted by green, the channel the eye weighs most, so that a search for the nearest
// entry can start at the same green and stop once green alone is further off than the best found.
class Palette
{
public:
    explicit Palette(const QList<std::array<double, 3>> &entries) : m_entries(entries.cbegin(), entries.cend())
    {
        for (int i = 0; i < int(m_entries.size()); ++i)
            m_order.push_back(i);
        std::sort(m_order.begin(), m_order.end(),
                  [this](int a, int b) { return m_entries[size_t(a)][1] < m_entries[size_t(b)][1]; });
        for (int i : m_order)
            m_green.push_back(m_entries[size_t(i)][1]);
    }

    const std::array<double, 3> &operator[](int i) const { return m_entries[size_t(i)]; }

    int nearest(const double colour[3]) const
    {
        const int count = int(m_order.size());
        const int start = int(std::lower_bound(m_green.cbegin(), m_green.cend(), colour[1]) - m_green.cbegin());
        int best = m_order[size_t(std::min(start, count - 1))];
        double bestDistance = distance(best, colour);
        for (int up = start, down = start - 1; up < count || down >= 0; ++up, --down) {
            bool further = false;
            for (int at : {up, down}) {
                if (at < 0 || at >= count)
                    continue;
                const double dg = m_green[size_t(at)] - colour[1];
                if (dg * dg >= bestDistance)
                    continue;
                further = true;
                const double d = distance(m_order[size_t(at)], colour);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = m_order[size_t(at)];
                }
            }
            if (!further)
                break;
        }
        return best;
    }

private:
    double distance(int i, const double colour[3]) const
    {
        const std::array<double, 3> &entry = m_entries[size_t(i)];
        const double dr = entry[0] - colour[0], dg = entry[1] - colour[1], db = entry[2] - colour[2];
        return dr * dr + dg * dg + db * db;
    }

    std::vector<std::array<double, 3>> m_entries;
    std::vector<int> m_order;
    std::vector<double> m_green;
};

// Lloyd's rounds: each entry moves to the mean of the colours nearest to it.
void refine(QList<std::array<double, 3>> &palette, const QList<Colour> &colours)
{
    for (int round = 0; round < RefineRounds; ++round) {
        const Palette search(palette);
        std::vector<std::array<double, 4>> sums(size_t(palette.size()), {0, 0, 0, 0});
        for (const Colour &colour : colours) {
            const double value[3] = {double(colour.channel[0]), double(colour.channel[1]), double(colour.channel[2])};
            std::array<double, 4> &sum = sums[size_t(search.nearest(value))];
            for (int c = 0; c < 3; ++c)
                sum[c] += value[c] * double(colour.count);
            sum[3] += double(colour.count);
        }
        for (int i = 0; i < palette.size(); ++i) {
            const std::array<double, 4> &sum = sums[size_t(i)];
            if (sum[3] > 0)
                palette[i] = {sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3]};
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
    const Palette search(palette);
    const int clear = int(table.size());
    if (transparency)
        table.append(qRgba(0, 0, 0, 0));
    indexed.setColorTable(table);

    // Floyd–Steinberg, serpentine: the error of each pixel goes to the unvisited neighbours, 7/16
    // ahead, 3/16, 5/16 and 1/16 on the next line. Transparent pixels neither take nor pass it.
    std::vector<std::array<double, 3>> current(size_t(width) + 2, {0, 0, 0}), next(size_t(width) + 2, {0, 0, 0});
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        const bool forward = y % 2 == 0;
        for (int i = 0; i < width; ++i) {
            const int x = forward ? i : width - 1 - i;
            if (isTransparent(line[x])) {
                out[x] = uchar(clear);
                continue;
            }
            // The error rows have one entry more at each end.
            const size_t at = size_t(x) + 1;
            const size_t ahead = forward ? at + 1 : at - 1;
            const size_t behind = forward ? at - 1 : at + 1;
            double wanted[3] = {double(qRed(line[x])), double(qGreen(line[x])), double(qBlue(line[x]))};
            for (int c = 0; c < 3; ++c)
                wanted[c] = std::clamp(wanted[c] + current[at][c], 0.0, 255.0);
            const int chosen = search.nearest(wanted);
            out[x] = uchar(chosen);
            for (int c = 0; c < 3; ++c) {
                const double error = wanted[c] - search[chosen][c];
                current[ahead][c] += error * 7 / 16;
                next[behind][c] += error * 3 / 16;
                next[at][c] += error * 5 / 16;
                next[ahead][c] += error * 1 / 16;
            }
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), std::array<double, 3>{0, 0, 0});
    }
    return indexed;
}

} // namespace Quantiser
