// The seven installable components, in their fixed index order.
#pragma once

#include <cstdint>

constexpr int kComponentCount = 7;

struct TComponent {
  const char* Name;     // shown in the component list
  const char* FileList; // items separated by '\r'; "x\" stands for a whole folder
};

extern const TComponent Components[kComponentCount];
