// The text of --help, from the catalog.
#include "app/options.h"

namespace app {

std::string help_text(Language lang) { return text(Text::Help, lang); }

}  // namespace app
