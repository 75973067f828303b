#include "core/plan/PlanOrder.h"

#include "core/text/NameOrder.h"

namespace vesk {

bool planOrder(const FileItem& a, const FileItem& b) {
    if (nameLess(a.name, b.name)) {
        return true;
    }
    return !nameLess(b.name, a.name) && a.path < b.path;
}

} // namespace vesk
