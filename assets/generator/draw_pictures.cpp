// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the drill's pictures as PNG files, and the icon of the Windows
// program as an .ico file, into the folder given, by default the current
// one. The files in assets/ were made with it:
//     skorvex_draw_pictures assets
#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    using skorvex::artwork::Mouth;
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {
        { "happy_sun.png", skorvex::artwork::draw_sun(Mouth::smile, 1) },
        { "happy_sun@2x.png", skorvex::artwork::draw_sun(Mouth::smile, 2) },
        { "sad_sun.png", skorvex::artwork::draw_sun(Mouth::open, 1) },
        { "sad_sun@2x.png", skorvex::artwork::draw_sun(Mouth::open, 2) },
        { "light_bulb_16.png", skorvex::artwork::draw_bulb_16() },
        { "light_bulb_32.png", skorvex::artwork::draw_bulb_32() },
        // The pixel art doubled, pixel for pixel: it stays crisp.
        { "light_bulb_32@2x.png", skorvex::artwork::draw_bulb_32().scaled(64, 64) },
    };
    for (const auto& picture : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(picture.name));
        if (!picture.image.save(path, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    QFile icon(folder.filePath(u"light_bulb.ico"_s));
    const QByteArray bytes = skorvex::artwork::icon_file(skorvex::artwork::windows_icon_images());
    if (!icon.open(QIODevice::WriteOnly) || icon.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(icon.fileName()));
        return 1;
    }
    return 0;
}
