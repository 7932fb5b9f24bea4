#include "problems/problems.h"

namespace skorvex::problems {

Problems::Problems(controls::Controls& c)
    : random_(c)
    , ez_(c)
    , shuffled_(c)
{
}

} // namespace skorvex::problems
