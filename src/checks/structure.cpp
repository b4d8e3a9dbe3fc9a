#include "checks/structure.h"

#include <string>

#include "core/calcerror.h"

namespace kelvor {

int CheckedStructure(int tab, int option) {
    if (tab < 0 || tab > 2 || option < 0 || option > 1) {
        throw CalcError("kind of structure unknown (page " + std::to_string(tab) + ", option " +
                        std::to_string(option) + ")");
    }
    return tab;
}

}  // namespace kelvor
