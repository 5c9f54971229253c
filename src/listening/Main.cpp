#include "listening/Main.h"

#include "listening/frmVorn.h"

void Main() {
    frmVorn::Default().show();
}
