#include "view/scaled_font.h"

ScaledFont::ScaledFont(const char* path) : atlases_(path) {}

ScaledFont::~ScaledFont() = default;

const PixelTexture& ScaledFont::texture(const FontAtlases::Atlas& a) {
  for (const Texture& t : textures_)
    if (t.atlas == &a) return *t.texture;
  auto texture = std::make_unique<PixelTexture>();
  texture->upload(PixelTexture::Format::Coverage, a.width, a.height, a.texels.data());
  textures_.push_back(Texture{&a, std::move(texture)});
  return *textures_.back().texture;
}

void ScaledFont::add(const ScaledText& t, const SquareViewport& vp) {
  placed_.clear();
  const FontAtlases::Atlas* a = atlases_.place(t, vp, placed_);
  if (a == nullptr) return;
  const PixelTexture& tex = texture(*a);
  if (!pending_.empty() && (pending_texture_ != &tex || !same_colour(pending_colour_, t.colour)))
    flush(vp);
  pending_texture_ = &tex;
  pending_colour_ = t.colour;
  pending_.insert(pending_.end(), placed_.begin(), placed_.end());
}

void ScaledFont::flush(const SquareViewport& vp) {
  if (pending_.empty() || pending_texture_ == nullptr) return;
  pending_texture_->draw(pending_, vp, pending_colour_);
  pending_.clear();
}
