// Opening an address fragment that anyone may have written or damaged.
#include <cstdint>
#include <string>

#include "form_model.h"
#include "fuzz_check.h"
#include "links.h"
#include "user_actions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  const std::string fragment(reinterpret_cast<const char*>(data), size);
  MainForm form;
  const Opened opened = OpenLink(form, fragment);
  const Link& link = opened.link;
  // The page reads a link in one module and shows it in the window's: the same.
  MainForm shown;
  UserCommand1Click(shown, 0);
  fuzz::Require(ShowLink(shown, ReadLink(fragment)) == opened.said && shown == form,
                "a link read apart shows as it opens", fragment);
  if (!link.notice.empty()) {
    fuzz::Require(form == MainForm(), "a refused link leaves the form as at start", fragment);
    fuzz::Require(opened.said == link.notice, "a refused link says only its notice", fragment);
    return 0;
  }
  if (link.shows != LinkShows::kExample) return 0;
  // What the address bar then holds must bring the same example back.
  const std::string again = LinkOf(form);
  fuzz::Require(LinkOf(ExampleShown(form)) == again, "the shown example writes the same link",
                fragment);
  MainForm reopened;
  const Opened second = OpenLink(reopened, again);
  fuzz::Require(second.link.notice.empty(), "the example's own link is accepted", again);
  fuzz::Require(reopened.Text1[2].Text == form.Text1[2].Text, "its link opens the same trace",
                fragment + " -> " + again);
  fuzz::Require(reopened == form, "its link opens the same window", fragment + " -> " + again);
  return 0;
}
