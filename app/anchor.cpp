static int nerio_core_anchor = 0;
