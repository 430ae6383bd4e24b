h = 1.0
fileprintt h, "x"
