// The skin's pictures, from the program's resources.
#pragma once

#include "shell/framework/Picture.h"

// The bitmap resource with this identifier as a picture; an empty picture when it is missing.
TPicture SkinPicture(int resource_id);
// The program icon at the given size.
TPicture ProgramIcon(int size);
