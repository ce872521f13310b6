#pragma once

#include <cstdint>

namespace kviltora {

struct MainForm;

// Events the window delivers to the form.
void OnCommand1Click(MainForm& form, std::int16_t index);
void OnDiapazonClick(MainForm& form, std::int16_t index);
void OnLoad(MainForm& form);

// The procedures behind them.
void Calculate(MainForm& form);
void ConvertFraction(MainForm& form);
void ComposeResult(MainForm& form);
void CheckResult(MainForm& form);
void ClearAll(MainForm& form);
void PickRandomFraction(MainForm& form);

}  // namespace kviltora
