// The exercise as a JavaScript class: each call is one of the exercise's
// entry points, or reads back what the page draws; every rule and every text
// stays in kviltora_core.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "conversion_exercise.h"
#include "exercise.h"
#include "js_values.h"
#include "report_binding.h"
#include "texts.h"

namespace kviltora {
namespace {

using emscripten::val;

class Practice {
 public:
  // `count` is the chosen item's text, or null when no item is chosen.
  std::string start(const std::string& fraction, const val& count) {
    if (count.isNull() || count.isUndefined()) return exercise_.Start(fraction, std::nullopt);
    return exercise_.Start(fraction, count.as<std::string>());
  }
  std::string check(const std::string& answer) { return exercise_.Check(answer); }
  void end() { exercise_.End(); }

  bool running() const { return exercise_.Running(); }
  bool finished() const { return exercise_.Finished(); }
  std::string refusal() const { return exercise_.Refusal(); }
  std::string heading() const { return exercise_.Heading(); }
  std::string question() const { return exercise_.Question(); }
  std::string feedback() const { return exercise_.Feedback(); }
  std::string verdict() const;
  val worked() const { return JsArray(exercise_.Worked()); }
  val summary() const {
    const Summary summary = exercise_.Summarised();
    val lines = val::array();
    for (const ComparedLine& line : summary.lines) {
      val row = val::object();
      row.set("step", line.step);
      row.set("exact", line.exact);
      row.set("computer", line.computer);
      row.set("differs", line.differs);
      lines.call<void>("push", row);
    }
    val out = val::object();
    out.set("score", summary.score);
    out.set("lines", lines);
    out.set("why", summary.why);
    out.set("exactBinary", summary.exactBinary);
    out.set("binaryNote", summary.binaryNote);
    return out;
  }
  val report() const { return ReportOf(ResultOf(exercise_)); }

 private:
  Exercise exercise_;
};

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kRight:
      return "right";
    case Verdict::kWrong:
      return "wrong";
    case Verdict::kNone:
      break;
  }
  return "";
}

// The exercise on a conversion of the number-systems part, drawn as the
// doubling one is: the same parts, with the pupil's lines in its summary.
class ConversionPractice {
 public:
  std::string start(const std::string& number, int from, int to) {
    return exercise_.Start(number, from, to);
  }
  std::string check(const std::string& answer) { return exercise_.Check(answer); }
  void end() { exercise_.End(); }

  bool running() const { return exercise_.Running(); }
  bool finished() const { return exercise_.Finished(); }
  std::string refusal() const { return exercise_.Refusal(); }
  std::string heading() const { return exercise_.Heading(); }
  std::string question() const { return exercise_.Question(); }
  std::string feedback() const { return exercise_.Feedback(); }
  std::string verdict() const { return VerdictName(exercise_.LastVerdict()); }
  val worked() const { return JsArray(exercise_.Worked()); }
  val summary() const {
    const ConversionSummary& summary = exercise_.Summarised();
    val lines = val::array();
    for (const PupilLine& line : summary.lines) {
      val row = val::object();
      row.set("step", line.step);
      row.set("asked", line.asked);
      row.set("worked", line.worked);
      row.set("pupil", line.pupil);
      row.set("differs", line.differs);
      lines.call<void>("push", row);
    }
    val out = val::object();
    out.set("score", summary.score);
    out.set("lines", lines);
    out.set("result", summary.result);
    out.set("check", JsArray(summary.check));
    return out;
  }

 private:
  ConversionExercise exercise_;
};

val ConversionPracticeCaptions() {
  const practice_texts::ConversionCaptions& c = practice_texts::ConversionPageCaptions();
  val out = val::object();
  out.set("start", c.start);
  out.set("asked", c.asked);
  out.set("worked", c.worked);
  out.set("pupil", c.pupil);
  return out;
}

std::string Practice::verdict() const {
  return VerdictName(exercise_.LastVerdict());
}

val PracticeCaptions() {
  const practice_texts::Captions& c = practice_texts::PageCaptions();
  val out = val::object();
  for (const auto& [name, text] : {std::pair{"start", &c.start},
                                   {"answer", &c.answer},
                                   {"check", &c.check},
                                   {"end", &c.end},
                                   {"summary", &c.summary},
                                   {"step", &c.step},
                                   {"exact", &c.exact},
                                   {"computer", &c.computer},
                                   {"mark", &c.mark},
                                   {"differs", &c.differs},
                                   {"rightMark", &c.rightMark},
                                   {"wrongMark", &c.wrongMark}}) {
    out.set(name, *text);
  }
  return out;
}

}  // namespace
}  // namespace kviltora

EMSCRIPTEN_BINDINGS(kviltora_practice) {
  using kviltora::Practice;
  emscripten::class_<Practice>("Practice")
      .constructor<>()
      .function("start", &Practice::start)
      .function("check", &Practice::check)
      .function("end", &Practice::end)
      .function("running", &Practice::running)
      .function("finished", &Practice::finished)
      .function("refusal", &Practice::refusal)
      .function("heading", &Practice::heading)
      .function("question", &Practice::question)
      .function("feedback", &Practice::feedback)
      .function("verdict", &Practice::verdict)
      .function("worked", &Practice::worked)
      .function("summary", &Practice::summary)
      .function("report", &Practice::report);
  emscripten::function("practiceCaptions", &kviltora::PracticeCaptions);
  using kviltora::ConversionPractice;
  emscripten::class_<ConversionPractice>("ConversionPractice")
      .constructor<>()
      .function("start", &ConversionPractice::start)
      .function("check", &ConversionPractice::check)
      .function("end", &ConversionPractice::end)
      .function("running", &ConversionPractice::running)
      .function("finished", &ConversionPractice::finished)
      .function("refusal", &ConversionPractice::refusal)
      .function("heading", &ConversionPractice::heading)
      .function("question", &ConversionPractice::question)
      .function("feedback", &ConversionPractice::feedback)
      .function("verdict", &ConversionPractice::verdict)
      .function("worked", &ConversionPractice::worked)
      .function("summary", &ConversionPractice::summary);
  emscripten::function("conversionPracticeCaptions", &kviltora::ConversionPracticeCaptions);
}
