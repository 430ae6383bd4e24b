else
