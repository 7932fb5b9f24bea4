// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/pictures.h"

#include <QImageReader>

namespace skorvex::assets {

using namespace Qt::StringLiterals;

namespace {
    // Read as PNG by name, so that Qt's built-in reader serves it and no image
    // format plugin is loaded to guess the format.
    QPixmap png(const QString& path)
    {
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        return QPixmap::fromImage(reader.read());
    }

    QPixmap sun(const QString& name, qreal device_pixel_ratio)
    {
        if (device_pixel_ratio <= 1.0)
            return png(u":/pictures/%1.png"_s.arg(name));
        QPixmap sharp = png(u":/pictures/%1@2x.png"_s.arg(name));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
}

QPixmap happy_sun(qreal device_pixel_ratio) { return sun(u"happy_sun"_s, device_pixel_ratio); }

QPixmap sad_sun(qreal device_pixel_ratio) { return sun(u"sad_sun"_s, device_pixel_ratio); }

QIcon window_icon()
{
    QIcon icon;
    icon.addPixmap(png(u":/pictures/light_bulb_16.png"_s));
    icon.addPixmap(png(u":/pictures/light_bulb_32.png"_s));
    // Added whatever the screen, so a high-density title bar finds it too.
    icon.addPixmap(png(u":/pictures/light_bulb_32@2x.png"_s));
    return icon;
}

} // namespace skorvex::assets
