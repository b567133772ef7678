#include "exchange/u_ContactFields.h"

#include "session/u_ContactSchema.h"

namespace ContactFields {

using namespace ContactSchema;

bool IsList(int field) {
    switch (field) {
        case Home_Tel:
        case Home_Fax:
        case Home_ICQ:
        case Home_Hobby:
        case Work_Tel:
        case Work_Fax:
        case Work_ICQ:
            return true;
        default:
            return false;
    }
}

bool IsMultiLine(int field) {
    return IsList(field) || field == Home_Address || field == Work_Address || field == Notes;
}

}  // namespace ContactFields
