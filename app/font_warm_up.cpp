#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace skorvex::app {

FontWarmUp::FontWarmUp()
    : thread_([] { FcInit(); })
{
}

FontWarmUp::~FontWarmUp() { wait(); }

void FontWarmUp::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace skorvex::app
