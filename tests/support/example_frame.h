#pragma once
#include "examples/models/example_models.h"
