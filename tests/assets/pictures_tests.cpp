// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "artwork.h"
#include "assets/pictures.h"
#include "window_fixture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QWindow>
#include <QtTest/QTest>
#include <set>

namespace {

using namespace Qt::StringLiterals;

// The files exactly as the program loads them from its resources.
QImage picture(const QString& name)
{
    QImageReader reader(u":/pictures/"_s + name);
    return reader.read();
}

// Pixels alike, whatever the image formats.
bool same_pixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

bool in_mouth_area(int x, int y, int scale)
{
    using namespace skorvex::artwork;
    return x >= mouth_left * scale && x < (mouth_right + 1) * scale && y >= mouth_top * scale
        && y < (mouth_bottom + 1) * scale;
}

TEST(Suns, AreOpaqueTrueColourWithWhiteCornersAndALemonDisc)
{
    for (const QString& name : { u"happy_sun.png"_s, u"sad_sun.png"_s }) {
        SCOPED_TRACE(name.toStdString());
        const QImage sun = picture(name);
        ASSERT_EQ(sun.size(), QSize(72, 72));
        EXPECT_FALSE(sun.hasAlphaChannel());
        for (const QPoint corner : { QPoint(0, 0), QPoint(71, 0), QPoint(0, 71), QPoint(71, 71) })
            EXPECT_EQ(sun.pixel(corner), qRgb(255, 255, 255));
        EXPECT_EQ(sun.pixel(35, 34), qRgb(248, 246, 11));
        EXPECT_EQ(sun.pixel(12, 34), qRgb(248, 246, 11)) << "the disc reaches out about 29 pixels";

        int white = 0;
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 72; ++x)
                white += sun.pixel(x, y) == qRgb(255, 255, 255);
        const double share = white / (72.0 * 72.0);
        EXPECT_GT(share, 0.27);
        EXPECT_LT(share, 0.36);

        // The eyes: black in their upper half, within their columns and rows.
        for (const int x : { 26, 27, 42, 43 })
            for (const int y : { 18, 22, 26 })
                EXPECT_EQ(sun.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        for (const int x : { 20, 34, 35, 36, 49 })
            EXPECT_EQ(qBlue(sun.pixel(x, 22)), 11) << "beside the eyes at column " << x;
        EXPECT_EQ(sun.pixel(27, 13), qRgb(248, 246, 11)) << "above the eyes";
        // The glint: a yellow tone low in the eye.
        EXPECT_GT(qRed(sun.pixel(26, 36)), 150);
        EXPECT_LT(qBlue(sun.pixel(26, 36)), 20);
    }
}

TEST(Suns, DifferOnlyInTheMouthArea)
{
    for (const auto& [happy_name, sad_name, scale] :
        { std::tuple { u"happy_sun.png"_s, u"sad_sun.png"_s, 1 },
            std::tuple { u"happy_sun@2x.png"_s, u"sad_sun@2x.png"_s, 2 } }) {
        const QImage happy = picture(happy_name);
        const QImage sad = picture(sad_name);
        ASSERT_EQ(happy.size(), QSize(72 * scale, 72 * scale));
        ASSERT_EQ(sad.size(), happy.size());
        int inside = 0;
        for (int y = 0; y < happy.height(); ++y)
            for (int x = 0; x < happy.width(); ++x) {
                const bool same = happy.pixel(x, y) == sad.pixel(x, y);
                if (in_mouth_area(x, y, scale))
                    inside += !same;
                else
                    ASSERT_TRUE(same) << x << "," << y << " at scale " << scale;
            }
        EXPECT_GT(inside, 50 * scale * scale);
    }
    // The smile is thickest in its middle; the open mouth is a round O.
    const QImage happy = picture(u"happy_sun.png"_s);
    const QImage sad = picture(u"sad_sun.png"_s);
    EXPECT_EQ(happy.pixel(34, 56), qRgb(0, 0, 0));
    EXPECT_EQ(happy.pixel(34, 50), qRgb(248, 246, 11));
    EXPECT_EQ(sad.pixel(33, 53), qRgb(0, 0, 0));
    EXPECT_EQ(sad.pixel(22, 50), qRgb(248, 246, 11));
}

TEST(Icon, IsTransparentAroundAndUsesTheSixteenColours)
{
    const std::set<QRgb> palette { qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0),
        qRgb(128, 128, 0), qRgb(0, 0, 128), qRgb(128, 0, 128), qRgb(0, 128, 128),
        qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),
        qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(0, 255, 255),
        qRgb(255, 255, 255) };
    for (const auto& [name, size] :
        { std::pair { u"light_bulb_16.png"_s, 16 }, std::pair { u"light_bulb_32.png"_s, 32 },
            std::pair { u"light_bulb_32@2x.png"_s, 64 } }) {
        SCOPED_TRACE(name.toStdString());
        const QImage icon = picture(name).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        for (const QPoint corner :
            { QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1) })
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
        std::set<QRgb> used;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (qAlpha(pixel) == 0)
                    continue;
                EXPECT_EQ(qAlpha(pixel), 255);
                EXPECT_TRUE(palette.count(pixel | 0xff000000U)) << x << "," << y;
                used.insert(pixel);
            }
        EXPECT_EQ(used,
            (std::set<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 0), qRgb(255, 255, 255),
                qRgb(192, 192, 192), qRgb(128, 128, 128) }));
    }
    // Between the bulb and its side rays there is only transparency.
    const QImage large = picture(u"light_bulb_32.png"_s).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(large.pixel(6, 11)), 0);
    EXPECT_EQ(large.pixel(3, 11), qRgb(0, 0, 0));
}

TEST(Pictures, AreWhatTheGeneratorDraws)
{
    using skorvex::artwork::Mouth;
    EXPECT_TRUE(
        same_pixels(picture(u"happy_sun.png"_s), skorvex::artwork::draw_sun(Mouth::smile, 1)));
    EXPECT_TRUE(
        same_pixels(picture(u"happy_sun@2x.png"_s), skorvex::artwork::draw_sun(Mouth::smile, 2)));
    EXPECT_TRUE(same_pixels(picture(u"sad_sun.png"_s), skorvex::artwork::draw_sun(Mouth::open, 1)));
    EXPECT_TRUE(
        same_pixels(picture(u"sad_sun@2x.png"_s), skorvex::artwork::draw_sun(Mouth::open, 2)));
    EXPECT_TRUE(same_pixels(picture(u"light_bulb_32.png"_s), skorvex::artwork::draw_bulb_32()));
    EXPECT_TRUE(same_pixels(picture(u"light_bulb_16.png"_s), skorvex::artwork::draw_bulb_16()));
    EXPECT_TRUE(same_pixels(
        picture(u"light_bulb_32@2x.png"_s), skorvex::artwork::draw_bulb_32().scaled(64, 64)));
    // The Windows program's icon, as its resources take it from the tree.
    QFile icon(QStringLiteral(SKORVEX_ASSETS_DIR "/light_bulb.ico"));
    ASSERT_TRUE(icon.open(QIODevice::ReadOnly));
    EXPECT_EQ(icon.readAll(), skorvex::artwork::icon_file(skorvex::artwork::windows_icon_images()));
}

class WindowPictures : public skorvex::testing_support::WindowTest {};

TEST_F(WindowPictures, SunsShowUnscaledAndTheIconHasBothSizes)
{
    // Read only when first shown.
    EXPECT_TRUE(c().sunhap->pixmap().isNull());
    c().sunhap->show();
    c().sunsad->show();
    EXPECT_TRUE(same_pixels(c().sunhap->pixmap().toImage(), picture(u"happy_sun.png"_s)));
    EXPECT_TRUE(same_pixels(c().sunsad->pixmap().toImage(), picture(u"sad_sun.png"_s)));
    EXPECT_EQ(c().sunhap->geometry(), QRect(144, 24, 72, 72));
    EXPECT_EQ(c().sunsad->geometry(), QRect(144, 24, 72, 72));
    EXPECT_FALSE(c().sunhap->hasScaledContents());

    // The window has its icon before it is first shown, so that the title bar
    // (16 pixels) and the task list (32) show it from the start.
    skorvex::app::MainWindow unshown;
    const QIcon icon = unshown.windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(
        same_pixels(icon.pixmap(QSize(16, 16), 1.0).toImage(), picture(u"light_bulb_16.png"_s)));
    EXPECT_TRUE(
        same_pixels(icon.pixmap(QSize(32, 32), 1.0).toImage(), picture(u"light_bulb_32.png"_s)));
    EXPECT_EQ(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    unshown.show();
    EXPECT_EQ(unshown.windowHandle()->icon().availableSizes(), sizes);

    const QPixmap sharp = skorvex::assets::happy_sun(2.0);
    EXPECT_EQ(sharp.size(), QSize(144, 144));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(72, 72));
}

} // namespace
