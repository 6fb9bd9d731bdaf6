// Where a task was posted from; kept for tracing only.
#ifndef BASE_LOCATION_H_
#define BASE_LOCATION_H_

namespace tracked_objects {

class Location {
 public:
  constexpr Location(const char* function_name, const char* file_name, int line_number)
      : function_name_(function_name), file_name_(file_name), line_number_(line_number) {}

  const char* function_name() const { return function_name_; }
  const char* file_name() const { return file_name_; }
  int line_number() const { return line_number_; }

 private:
  const char* function_name_;
  const char* file_name_;
  int line_number_;
};

}  // namespace tracked_objects

#define FROM_HERE ::tracked_objects::Location(__func__, __FILE__, __LINE__)

#endif  // BASE_LOCATION_H_
