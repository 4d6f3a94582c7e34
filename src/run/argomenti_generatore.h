// The generator's command line. Started with no argument it runs the whole
// generation, as it always has; `--help` and `--version` only print and
// write nothing, so that asking an installed program what it is never
// leaves files beside it. The look follows the authors' tools: help and
// version on standard output with status 0, a usage error on standard error
// with the usage line and status 2. The standard library only, as the whole
// generator.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace od {

// The project's version, as the build sets it.
std::string_view versione_generatore();

// Looks at the arguments after the program's name. Returns nothing when the
// generation should run (no argument); otherwise the exit status, with the
// help, the version or the usage error already printed.
std::optional<int> analizza_argomenti_generatore(const std::vector<std::string>& argomenti, std::ostream& uscita,
                                                 std::ostream& diagnostica);

}  // namespace od
