discard temp;
