#include "screens/title.h"

int32_t TitleDrift = 0;
