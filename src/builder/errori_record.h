// What a read failure says about the record under way, beyond the field
// stream's own reason: a record with too few values (its values run past its
// line, or a text sits where the schema wants a number because a value
// before it is missing), a time of day written as one field, and a
// description file that is missing while a file one edit away is there.
// They only change the words of the failure, never where the reading stops.
#pragma once

#include <string>
#include <vector>

#include "builder/lettura.h"

namespace od {

// Puts into `luogo` the reason of the failure `e` (and moves its caret)
// when one of the cases above explains it; false leaves `luogo` alone.
bool spiega_errore_record(const contesto_lettura& contesto, const errore_lettura& e, luogo_errore& luogo);

// The words to add to the message of a missing description file
// `atteso`: the files of `presenti` whose names are one edit away from it
// (an insert, a delete, a change or a swap of two neighbours). Empty when
// there is none.
std::string file_vicino(const std::string& atteso, const std::vector<std::string>& presenti);

}  // namespace od
