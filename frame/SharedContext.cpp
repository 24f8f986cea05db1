// The one SharedContext record.
#include "frame/SharedContext.h"

SharedContextRecord SharedContext;
