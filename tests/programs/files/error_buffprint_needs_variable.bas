buffprintt 5, "x"
