s = "x"
buffprintt s "y"
