s = buffwritef32("", 0, "x")
