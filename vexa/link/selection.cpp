#include "selection.h"

namespace vexa {

Selection& CurrentSelection() {
    static Selection selection;
    return selection;
}

}  // namespace vexa
