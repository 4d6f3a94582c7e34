// servizio_scenario: the language server for the description files, over
// standard input and output. Arguments in, exit status out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace od {

int servizio_scenario(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& diagnostica);

}  // namespace od
