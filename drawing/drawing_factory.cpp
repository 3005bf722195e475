#include "drawing/drawing_factory.h"

#include "base/assert.h"
#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "drawing/k_mosac.h"
#include "drawing/k_rectangle.h"
#include "drawing/k_text.h"

namespace {

struct ShapeType {
  const char* name;
  std::unique_ptr<Drawing> (*create)();
};

template <typename Shape>
std::unique_ptr<Drawing> Create() {
  return std::make_unique<Shape>();
}

constexpr ShapeType kShapeTypes[] = {
    {"rectangle", &Create<KRectangle>}, {"arrow", &Create<KArrow>}, {"ellipse", &Create<KEllipse>},
    {"text", &Create<KText>},           {"mosac", &Create<KMosac>},
};

const ShapeType* FindShapeType(const std::string& name) {
  for (const ShapeType& type : kShapeTypes) {
    if (name == type.name)
      return &type;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<Drawing> CreateDrawing(const std::string& name) {
  const ShapeType* shape_type = FindShapeType(name);
  PICTOR_ASSERT(shape_type != NULL, "drawing_factory");
  return shape_type ? shape_type->create() : nullptr;
}
