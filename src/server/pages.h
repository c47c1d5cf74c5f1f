#pragma once
// The pages the server shows (UTF-8 HTML, Japanese, phone first, nothing from elsewhere),
// built on the owner's thread from the view layer and the web page's sections, each with one
// small inline script that the page's Content-Security-Policy names by its hash.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "edit/workspace.h"

namespace toq::server {

/// A page and the policy that lets its own script run and nothing else.
struct Page {
  std::string html;
  std::string policy;
};

// `base` is what the section's paths begin with: "" for the first section at today's paths,
// "/t/2" for the second of a venue. The pages' links and scripts put it before every path.

/// "/": the latest paired round's pairings by board with the results, the standings and the
/// wall chart; it follows every change by itself.
Page homePage(edit::Workspace& ws, std::uint64_t version, bool resultDesk, std::string_view base);
/// "/display": the pairings in large type for a projector, page after page when they do not
/// fit, then the standings, over and over; once the last round's last result is in, the final
/// standings alone, top places first.
Page displayPage(edit::Workspace& ws, std::uint64_t version, std::string_view base);
/// "/standings": the standings for the prize-giving in rank order with the tie-breaks and the
/// rule, laid out to print from the browser; it follows every change by itself.
Page standingsPage(edit::Workspace& ws, std::uint64_t version, std::string_view base);
/// "/desk": the result desk, on which players enter the result of a game that has none.
Page deskPage(const edit::Workspace& ws, std::uint64_t version, std::string_view base);
/// "/admin": the organiser's page: every result, and the pairing of the next round. It reads
/// the key from its address and sends it with every change.
Page adminPage(const edit::Workspace& ws, std::uint64_t version, bool resultDesk,
               std::string_view base);

/// What the venue's pages show of one section.
struct SectionPart {
  std::string name;  ///< UTF-8, the event's name
  std::string html;  ///< for the display: its <section> elements
  std::string file;  ///< UTF-8, the table file's name
};
/// The display's part of a section: its pairings and standings, each titled with its name.
SectionPart displayPart(edit::Workspace& ws, int section);
/// "/" of a venue of several sections: a link to each section's pages.
Page venuePage(const std::vector<SectionPart>& sections, std::uint64_t version);
/// "/display" of a venue of several sections: every section's pairings and standings in turn.
Page venueDisplayPage(const std::vector<SectionPart>& sections, std::uint64_t version);

/// The policy of a page whose only script is `script`.
std::string pagePolicy(std::string_view script);
/// The policy of every reply that is not a page: nothing may run or load.
std::string_view dataPolicy();

/// The pairings of a 0-based round as the web page shows them, with each player's result mark
/// beside the name; `names` holds each row's name (CP932).
std::string livePairingsSection(const data::Table& table, const std::vector<std::string>& names,
                                int round);

}  // namespace toq::server
