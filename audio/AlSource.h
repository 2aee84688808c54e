#pragma once

namespace orb {

// One OpenAL source name, stopped and freed by the destructor. Move-only.
// Needs a current context for its whole life.
class AlSource {
 public:
  AlSource();  // alGenSources
  ~AlSource();
  AlSource(AlSource&& other) noexcept : name_(other.name_) { other.name_ = 0; }
  AlSource& operator=(AlSource&& other) noexcept;
  AlSource(const AlSource&) = delete;
  AlSource& operator=(const AlSource&) = delete;

  unsigned name() const { return name_; }

 private:
  unsigned name_ = 0;
};

}  // namespace orb
