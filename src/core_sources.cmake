# The core's sources and include folders, relative to src/, for every build
# that compiles the core: the program's, the WebAssembly one and the fuzzers'.
# The digit back end is chosen beside each use: charconv, or portable where
# the standard library has no floating-point charconv.
set(KVILTORA_CORE_SOURCES
  model/controls.cpp
  model/form_model.cpp
  model/input_limit.cpp
  model/window_look.cpp
  numtext/number_text.cpp
  numtext/exact_decimal.cpp
  numtext/text_fill.cpp
  logic/conversion.cpp
  logic/result.cpp
  logic/clearing.cpp
  logic/events.cpp
  logic/announcements.cpp
  logic/user_actions.cpp
  logic/links.cpp
  logic/worksheet.cpp
  runtime/random.cpp
  practice/exercise.cpp
  practice/texts.cpp
  practice/report.cpp
  practice/conversion_exercise.cpp
  bases/reading.cpp
  bases/arithmetic.cpp
  bases/conversion.cpp
  bases/texts.cpp
)
set(KVILTORA_CORE_INCLUDES model numtext logic practice runtime bases)
