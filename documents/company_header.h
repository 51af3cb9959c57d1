// The company header that service orders and conditional-sale documents
// print: one label per configuration key, with its caption's prefix.
#pragma once

#include <string>

namespace tarvek {

class TdtmEmail;
namespace report {
class TRLCustomSite;
}

// Sets the caption of each header label under `root` from its configuration
// key (empty when the key is missing). The city label below the summary is
// set only where the layout has one; a missing header label raises an error
// naming `form` and the label.
void fill_company_header(TdtmEmail& dtm, report::TRLCustomSite& root, const std::string& form);

}  // namespace tarvek
