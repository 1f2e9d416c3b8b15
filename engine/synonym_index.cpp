#include "synonyms.h"
