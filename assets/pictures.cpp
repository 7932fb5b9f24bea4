#include "assets/pictures.h"

namespace skorvex::assets {

using namespace Qt::StringLiterals;

namespace {
    QPixmap sun(const QString& name, qreal device_pixel_ratio)
    {
        if (device_pixel_ratio <= 1.0)
            return QPixmap(u":/pictures/%1.png"_s.arg(name));
        QPixmap sharp(u":/pictures/%1@2x.png"_s.arg(name));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
}

QPixmap happy_sun(qreal device_pixel_ratio) { return sun(u"happy_sun"_s, device_pixel_ratio); }

QPixmap sad_sun(qreal device_pixel_ratio) { return sun(u"sad_sun"_s, device_pixel_ratio); }

QIcon window_icon()
{
    QIcon icon;
    icon.addFile(u":/pictures/light_bulb_16.png"_s, QSize(16, 16));
    icon.addFile(u":/pictures/light_bulb_32.png"_s, QSize(32, 32));
    // Added whatever the screen, so a high-density title bar finds it too.
    icon.addFile(u":/pictures/light_bulb_32@2x.png"_s, QSize(64, 64));
    return icon;
}

} // namespace skorvex::assets
