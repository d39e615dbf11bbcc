#include "world/course_world.h"

void UpdateCourseWorld() {}
