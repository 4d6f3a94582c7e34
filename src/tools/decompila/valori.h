// The model's codecs as the describers use them: floor division, the named
// general entries and the last cell with running values (all in od_elementi).
#pragma once

#include "elementi/divisione.h"
#include "elementi/voci_generali.h"
#include "modello/misure_linea.h"
#include "modello/modello.h"
