#include "pipeline.h"
