#include "wizard/warez_encoders.h"

#include "spd_document/main_form_api.h"

namespace wizard {
void ddr2_set(MainFormApi& main) { (void)main; }
void ddr3_set(MainFormApi& main) { (void)main; }
}
