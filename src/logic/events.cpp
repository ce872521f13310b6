#include "form_model.h"
#include "procedures.h"
#include "random.h"

namespace kviltora {

void OnCommand1Click(MainForm& form, std::int16_t index) {
  if (index == 0) Calculate(form);
  if (index == 1) ClearAll(form);
}

// Choosing a digit count or clicking a digit waits for the next calculation.
void OnDiapazonClick(MainForm& form, std::int16_t index) {
  if (index == 0) PickRandomFraction(form);
}

void OnLoad(MainForm&) {
  SeedRandom();
}

}  // namespace kviltora
