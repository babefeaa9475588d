#pragma once
// What the calculation needs of the program state: the record layer's
// context (connection strings, the open site and its checklist version)
// plus the open site's name and the VAT percentage of the settings.

#include "records/context.h"

#include <QString>

namespace calc {

struct Context : records::Context {
    // Name of the open site (used in the levy's rate-mismatch message).
    QString gstrNaamStort;
    // VAT percentage in percent (setting BTW_PROCENTEN).
    float gsngBTWPerc = 19.0f;
};

} // namespace calc
