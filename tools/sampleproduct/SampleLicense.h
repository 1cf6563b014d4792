#pragma once
// The license text of the sample product.

extern const char* const SampleLicenseText;
