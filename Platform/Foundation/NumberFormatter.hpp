#pragma once
#include "Foundation/Formatter.hpp"

namespace Foundation {

// Numbers as text in the C locale (the subset the product uses):
// - style none prints integers, rounded half to even; style decimal prints between the
//   minimum and maximum fraction digits (the same rounding);
// - the positive prefix and suffix surround non-negative numbers (not under the 10.0
//   behaviour), "-" leads negative ones;
// - reading takes the number syntax of the C library; a lenient formatter also accepts
//   surrounding white space and the prefix and suffix being absent. The value read is a double.
class NumberFormatter : public Formatter {
    VZ_OBJECT(NumberFormatter, Formatter)
public:
    enum class Style { none = 0, decimal = 1 };
    // The platform's behaviour constants: default, 10.0 and 10.4.
    enum class Behavior { defaultBehavior = 0, behavior10_0 = 1000, behavior10_4 = 1040 };

    static std::shared_ptr<NumberFormatter> make() { return Runtime::make<NumberFormatter>(); }

    Style numberStyle() const { return style_; }
    void setNumberStyle(Style style);
    int minimumFractionDigits() const { return minFraction_; }
    void setMinimumFractionDigits(int digits) { minFraction_ = digits < 0 ? 0 : digits; }
    int maximumFractionDigits() const { return maxFraction_; }
    void setMaximumFractionDigits(int digits) { maxFraction_ = digits < 0 ? 0 : digits; }
    const std::string& positivePrefix() const { return positivePrefix_; }
    void setPositivePrefix(std::string prefix) { positivePrefix_ = std::move(prefix); }
    const std::string& positiveSuffix() const { return positiveSuffix_; }
    void setPositiveSuffix(std::string suffix) { positiveSuffix_ = std::move(suffix); }
    Behavior formatterBehavior() const { return behavior_; }
    void setFormatterBehavior(Behavior behavior) { behavior_ = behavior; }
    bool isLenient() const { return lenient_; }
    void setLenient(bool lenient) { lenient_ = lenient; }

    std::optional<std::string> string(const std::any& object) const override;
    bool getObjectValue(std::any* object, const std::string& text, std::string* errorDescription) const override;

protected:
    NumberFormatter() = default;

private:
    Style style_ = Style::none;
    int minFraction_ = 0, maxFraction_ = 0;
    std::string positivePrefix_, positiveSuffix_;
    Behavior behavior_ = Behavior::defaultBehavior;
    bool lenient_ = false;
};

}  // namespace Foundation
