// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "artwork.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

namespace skorvex::artwork {

namespace {

    const QColor lemon(248, 246, 11);
    const QColor glint(227, 225, 10);
    const QColor olive(156, 154, 7);

    QPointF polar(QPointF centre, double radius, double degrees)
    {
        const double radians = degrees * std::numbers::pi / 180.0;
        return centre + QPointF(radius * std::cos(radians), radius * std::sin(radians));
    }

    // One flame-like ray: a pointed tip that leans to one side, on a base
    // about 20 degrees wide that starts inside the disc.
    QPainterPath ray(QPointF centre, double angle, double reach, double lean)
    {
        constexpr double base_radius = 26.0;
        constexpr double half_base = 11.0;
        QPainterPath path;
        path.moveTo(polar(centre, base_radius, angle - half_base));
        path.quadTo(polar(centre, (base_radius + reach) / 2 + 2, angle - half_base / 3 + lean / 2),
            polar(centre, reach, angle + lean));
        path.quadTo(polar(centre, (base_radius + reach) / 2, angle + half_base / 2 + lean / 2),
            polar(centre, base_radius, angle + half_base));
        path.closeSubpath();
        return path;
    }

    void draw_eye(QPainter& painter, const QRectF& box)
    {
        QPainterPath eye;
        eye.addEllipse(box);
        painter.fillPath(eye, Qt::black);
        // A soft glint low in the eye gives it a glossy, rounded look.
        const QPointF centre(box.center().x(), box.top() + box.height() * 0.7);
        QRadialGradient shine(centre, box.width() * 0.5);
        shine.setColorAt(0.0, glint);
        shine.setColorAt(0.45, olive);
        shine.setColorAt(1.0, Qt::black);
        painter.save();
        painter.setClipPath(eye);
        painter.setClipRect(
            QRectF(box.left(), box.center().y(), box.width(), box.height() / 2), Qt::IntersectClip);
        painter.fillPath(eye, shine);
        painter.restore();
    }

    void draw_mouth(QPainter& painter, Mouth mouth)
    {
        painter.save();
        // Nothing of the mouth may stray outside its area.
        painter.setClipRect(QRectF(
            mouth_left, mouth_top, mouth_right - mouth_left + 1, mouth_bottom - mouth_top + 1));
        QPainterPath path;
        if (mouth == Mouth::smile) {
            // A crescent: thin and pointed at the ends, about 6 pixels thick
            // (rows 54 to 59) in the middle.
            path.moveTo(19.0, 47.5);
            path.quadTo(34.5, 61.5, 50.5, 46.5);
            path.quadTo(35.0, 74.0, 19.0, 47.5);
        } else {
            path.addEllipse(QPointF(33.5, 53.5), 5.0, 6.0);
        }
        painter.fillPath(path, Qt::black);
        painter.restore();
    }

    // The picture's one colour palette: the standard 16 colours.
    QRgb palette_colour(char code)
    {
        switch (code) {
        case 'K':
            return qRgb(0, 0, 0);
        case 'Y':
            return qRgb(255, 255, 0);
        case 'W':
            return qRgb(255, 255, 255);
        case 'L':
            return qRgb(192, 192, 192);
        case 'D':
            return qRgb(128, 128, 128);
        default:
            return qRgba(0, 0, 0, 0);
        }
    }

    template <std::size_t N> QImage from_rows(const std::array<std::string_view, N>& rows)
    {
        QImage image(static_cast<int>(N), static_cast<int>(N), QImage::Format_ARGB32);
        for (int y = 0; y < static_cast<int>(N); ++y)
            for (int x = 0; x < static_cast<int>(N); ++x)
                image.setPixel(x, y,
                    palette_colour(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
        return image;
    }

} // namespace

QImage draw_sun(Mouth mouth, int scale)
{
    QImage image(72 * scale, 72 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    const QPointF centre(35.5, 34.5);
    // Sixteen rays, irregular as if drawn by hand: angle offsets, reach (36 to
    // 40 pixels from the centre) and lean of each.
    struct Ray {
        double offset;
        double reach;
        double lean;
    };
    constexpr std::array<Ray, 16> rays { {
        { 2, 39, 7 },
        { -3, 37, 6 },
        { 1, 40, 8 },
        { 4, 36, 5 },
        { -1, 38, 7 },
        { 3, 40, 6 },
        { -2, 37, 8 },
        { 0, 39, 5 },
        { 2, 36, 7 },
        { -4, 40, 6 },
        { 1, 38, 8 },
        { 3, 37, 5 },
        { -1, 40, 7 },
        { 2, 36, 6 },
        { -3, 39, 8 },
        { 0, 38, 6 },
    } };
    QPainterPath sun;
    sun.addEllipse(centre, 29.0, 29.0);
    for (std::size_t k = 0; k < rays.size(); ++k)
        sun = sun.united(ray(
            centre, static_cast<double>(k) * 22.5 + rays[k].offset, rays[k].reach, rays[k].lean));
    painter.fillPath(sun, lemon);

    draw_eye(painter, QRectF(21, 15, 12, 30));
    draw_eye(painter, QRectF(37, 15, 12, 30));
    draw_mouth(painter, mouth);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage draw_bulb_32()
{
    // K black, Y yellow, W white, L light grey, D dark grey, . transparent.
    static constexpr std::array<std::string_view, 32> rows { {
        "................................",
        "................................",
        "................................",
        "...K........................K...",
        "....K.......KKKKKKKK.......K....",
        ".....K....KKKKKKKKKKKK....K.....",
        "......K..KKKYYYYYYYYKKK..K......",
        ".........KKWYYYYYYYYYKK.........",
        ".........KKWYYYYYYYYYKK.........",
        "........KKWWYYYYYYYYYYKK........",
        "........KKWWYDYYYYDYYYKK........",
        "..KKKK..KKWWYYDYYDYYYYKK..KKKK..",
        "........KKWWYYDYYDYYYYKK........",
        "........KKWWYYYDDYYYYYKK........",
        "........KKWYYYYDDYYYYYKK........",
        ".........KKWYYYDDYYYYKK.........",
        ".........KKWYYYDDYYYYKK.........",
        "......K...KKYYYDDYYYKK...K......",
        ".....K....KKYYYDDYYYKK....K.....",
        "....K......KKYYDDYYKK......K....",
        "...K.......KKYYDDYYKK.......K...",
        "...........KKYYDDYYKK...........",
        "...........KKKKDDKKKK...........",
        "............KWLDDLDK............",
        "............KWLDWLDK............",
        "............KWLDWLDK............",
        "............KWLDWLDK............",
        ".............KKKKKK.............",
        "..............KKKK..............",
        "...............KK...............",
        "................................",
        "................................",
    } };
    return from_rows(rows);
}

QImage draw_bulb_16()
{
    static constexpr std::array<std::string_view, 16> rows { {
        "................",
        ".K............K.",
        "..K...KKKK...K..",
        ".....KYYYYK.....",
        "....KWYYYYYK....",
        ".KK.KWDYYDYK.KK.",
        "....KWYDDYYK....",
        "....KWYDDYYK....",
        ".....KYDDYK.....",
        "..K..KYDDYK..K..",
        ".K....KDDK....K.",
        "......LDLD......",
        "......DLDL......",
        "......KKKK......",
        ".......KK.......",
        "................",
    } };
    return from_rows(rows);
}

QList<QImage> windows_icon_images()
{
    return { draw_bulb_16(), draw_bulb_32(), draw_bulb_16().scaled(48, 48),
        draw_bulb_32().scaled(256, 256) };
}

QByteArray icon_file(const QList<QImage>& images)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto count = static_cast<quint16>(images.size());
    out << quint16(0) << quint16(1) << count; // an icon, not a cursor
    QList<QByteArray> bitmaps;
    for (const QImage& image : images) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        const int size = argb.width();
        const int mask_row = ((size + 31) / 32) * 4;
        QByteArray bitmap;
        QDataStream bits(&bitmap, QIODevice::WriteOnly);
        bits.setByteOrder(QDataStream::LittleEndian);
        // The header counts the colour rows and the mask's together.
        bits << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(32)
             << quint32(0) << quint32(size * size * 4 + mask_row * size) << qint32(0) << qint32(0)
             << quint32(0) << quint32(0);
        for (int y = size - 1; y >= 0; --y)
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = argb.pixel(x, y);
                bits << quint8(qBlue(pixel)) << quint8(qGreen(pixel)) << quint8(qRed(pixel))
                     << quint8(qAlpha(pixel));
            }
        for (int y = size - 1; y >= 0; --y) {
            QByteArray row(mask_row, '\0');
            for (int x = 0; x < size; ++x)
                if (qAlpha(argb.pixel(x, y)) == 0)
                    row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            bits.writeRawData(row.constData(), static_cast<int>(row.size()));
        }
        bitmaps << bitmap;
    }
    quint32 offset = 6 + 16 * count;
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        // 256 is written as 0 in its byte.
        out << quint8(size % 256) << quint8(size % 256) << quint8(0) << quint8(0) << quint16(1)
            << quint16(32) << quint32(bitmaps[i].size()) << offset;
        offset += static_cast<quint32>(bitmaps[i].size());
    }
    for (const QByteArray& bitmap : bitmaps)
        out.writeRawData(bitmap.constData(), static_cast<int>(bitmap.size()));
    return file;
}

} // namespace skorvex::artwork
