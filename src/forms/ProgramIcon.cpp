#include "forms/ProgramIcon.h"

QIcon ProgramIcon() {
    // The icon is compiled into this static library; this keeps it from being left out.
    Q_INIT_RESOURCE(icons);
    return QIcon(":/icons/vorn.png");
}
