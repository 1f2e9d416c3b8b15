// Placeholder until the generated conversion tables land.
