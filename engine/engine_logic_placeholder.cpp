// Replaced by the engine decisions as they arrive.
